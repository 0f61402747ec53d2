// annItem.cpp - the core of the annotation model: document, named items, handles, class tags.
#include "annItem.h"

#include "annKind.h"
#include "annLevel.h"

#include <algorithm>
#include <iterator>
#include <ostream>
#include <unordered_set>

ANN_DEFINE_KIND(annNamedItem, nullptr, ANN_NEW_INSTANCE(annNamedItem))

annNameSpacePath::annNameSpacePath(const annNameSpacePtr& space) {
  std::vector<utString> reversed;
  for (const annNameSpace* s = space.get(); s; s = s->parent().get())
    reversed.push_back(s->name());
  for (auto it = reversed.rbegin(); it != reversed.rend(); ++it)
    names_.append(*it);
}

utString annNameSpacePath::text() const {
  utString result("");
  for (size_t i = 0; i < names_.size(); ++i) {
    if (i)
      result += "/";
    result += names_[i];
  }
  return result;
}

int annNameSpacePath::operator==(const annNameSpacePath& other) const {
  if (depth() != other.depth())
    return 0;
  for (size_t i = 0; i < depth(); ++i)
    if (!(names_[i] == other.names_[i]))
      return 0;
  return 1;
}

annEntity::~annEntity() = default;

std::shared_ptr<annNamedItem> annPtrBase::share(annNamedItem* item) {
  return item ? item->weak_from_this().lock() : nullptr;
}

annNamedItem::~annNamedItem() = default;

void annNamedItem::set_name_space(const annNameSpacePtr& space) {
  if (owner_)
    owner_->unlink_name(this);
  name_space_ = space;
  if (owner_)
    owner_->link_name(this);
}
void annNamedItem::set_level(const annLevelannPtr& level) {
  level_ = owner_ ? owner_->share_handle(level) : annSharedHandle<annLevel>(level);
}
void annNamedItem::set_style(const annStyleSetannPtr& style) {
  style_ = owner_ ? owner_->share_handle(style) : annSharedHandle<annStyleSet>(style);
}
void annNamedItem::print_details(std::ostream&) const {}
size_t annNamedItem::num_members() const {
  return 0;
}
annNamedItem* annNamedItem::member(size_t) const {
  return nullptr;
}
int annNamedItem::remove_member(const annNamedItem*) {
  return 0;
}
annNamedItemPtr annNamedItem::copy(annEntity*) const {
  return annNamedItemPtr();
}

int annModel::add_properties_assignment(const annPropertiesAssignmentannPtr& assignment,
                                        annDocument* document) {
  if (assignment.invalid() || !document || assignment.annPtrBase::pointer()->owner() != document)
    return 0;
  for (const annPropertiesAssignmentannPtr& held : assignments_)
    if (held == assignment)
      return 0;
  assignments_.append(assignment);
  return 1;
}

int annModel::add_presentation(const annPresentationannPtr& presentation) {
  if (presentation.invalid())
    return 0;
  for (const annPresentationannPtr& held : presentations_)
    if (held == presentation)
      return 0;
  presentations_.append(presentation);
  return 1;
}

annDocument::annDocument() = default;

annDocument::annDocument(const utString& name) : name_(name) {}

annDocument::~annDocument() {
  for (const auto& item : items_)
    item->owner_ = nullptr;
  // Newest first: an item refers to items made before it (a group to its
  // members), so each one goes while the document still holds what it
  // refers to, and no chain of groups is torn down by recursion.
  while (!items_.empty())
    items_.pop_back();
}

void annDocument::add_item(const std::shared_ptr<annNamedItem>& item, const utString& name) {
  item->set_name(name);
  item->owner_ = this;
  item->name_space_ = current_name_space_;
  items_.push_back(item);
  link_name(item.get());
}

namespace {
template <class T>
annSharedHandle<T> share_in(std::unordered_map<const annNamedItem*, annSharedHandle<T>>& kept,
                            const annPtr<T>& handle, const annDocument* document) {
  // Only the items of the document are kept: the copy of another's goes
  // with its last user.
  if (handle.invalid() || handle.annPtrBase::pointer()->owner() != document)
    return annSharedHandle<T>(handle);
  annSharedHandle<T>& shared = kept[handle.annPtrBase::pointer()];
  if (!shared.holds(handle))
    shared = annSharedHandle<T>(handle);
  return shared;
}
} // namespace

annSharedHandle<annLevel> annDocument::share_handle(const annLevelannPtr& level) {
  return share_in(shared_levels_, level, this);
}
annSharedHandle<annStyleSet> annDocument::share_handle(const annStyleSetannPtr& style) {
  return share_in(shared_styles_, style, this);
}

void annDocument::link_name(annNamedItem* item) {
  by_name_.insert(item);
}

annNamedItemPtr annDocument::find_item(const utString& name, const stoClass* tag) const {
  const annNameIndex::Chain chain = by_name_.find(name, current_name_space_.get());
  for (annNamedItem* item = chain.first(); item; item = chain.next(item))
    if (item->sto_class()->is_kind_of(tag)) {
      // The handle carries the item's own name, equal to the one asked for:
      // sharing its text, a document whose items all find the same style
      // set does not keep one copy of the name per item.
      annNamedItemPtr handle(item->name(), item->shared_from_this());
      handle.set_name_space(item->name_space());
      return handle;
    }
  return annNamedItemPtr();
}

void annDocument::unlink_name(annNamedItem* item) {
  by_name_.remove(item);
}

annLevel* annDocument::level_of(int number, const utString& name) const {
  auto range = levels_.equal_range(LevelKey{current_name_space_.get(), number});
  for (auto it = range.first; it != range.second; ++it)
    if (it->second->level() == number && it->second->name() == name &&
        it->second->name_space() == current_name_space_)
      return it->second;
  return nullptr;
}

void annDocument::add_level(annLevel* level) {
  levels_.emplace(LevelKey{level->name_space().get(), level->level()}, level);
}

void annDocument::remove_level(const annNamedItem* item) {
  for (auto it = levels_.begin(); it != levels_.end();)
    it = it->second == item ? levels_.erase(it) : std::next(it);
}

int annDocument::remove_item(const annNamedItem* item) {
  // Searched from the newest: the items taken out are mostly those just made.
  auto newest =
      std::find_if(items_.rbegin(), items_.rend(),
                   [item](const std::shared_ptr<annNamedItem>& p) { return p.get() == item; });
  if (newest == items_.rend())
    return 0;
  auto it = std::prev(newest.base());
  unlink_name(it->get());
  remove_level(it->get());
  shared_levels_.erase(item);
  shared_styles_.erase(item);
  (*it)->owner_ = nullptr;
  items_.erase(it);
  return 1;
}

int annDocument::remove_geometry(const annNamedItemPtr& item) {
  if (item.invalid())
    return 0;
  int removed = remove_item(item.pointer());
  for (const auto& holder : items_)
    if (holder->remove_member(item.pointer()))
      removed = 1;
  return removed;
}

annNameSpacePtr annDocument::set_name_space(const annNameSpacePtr& space) {
  annNameSpacePtr previous = current_name_space_;
  current_name_space_ = space;
  return previous;
}

annNameSpacePtr annDocument::name_space_of(const annNameSpacePath& path) {
  annNameSpacePtr space;
  for (size_t i = 0; i < path.depth(); ++i) {
    annNameSpacePtr& known = name_spaces_[{space.get(), path.name(i)}];
    if (!known)
      known = std::make_shared<annNameSpace>(path.name(i), space);
    space = known;
  }
  return space;
}

annNameSpacePtr make_annNameSpace(annEntity* owner, const utString& name,
                                  const utString& reference) {
  annDocument* document = owner ? owner->document() : nullptr;
  if (!document)
    return annNameSpacePtr();
  return std::make_shared<annNameSpace>(name, document->current_name_space(), reference);
}

namespace {

void print_line(std::ostream& out, const annNamedItem& item, size_t depth) {
  for (size_t i = 0; i < depth; ++i)
    out << "  ";
  out << item.sto_class()->name() << ' ';
  ann_print_quoted(out, item.name());
  if (!item.level().invalid())
    out << " level " << item.level()->level();
  if (!item.style().invalid()) {
    out << " style ";
    ann_print_quoted(out, item.style().annPtrBase::pointer()->name());
  }
  if (item.display_name_set()) {
    out << " display ";
    ann_print_quoted(out, item.display_name());
  }
  if (item.name_space()) {
    out << " in ";
    ann_print_quoted(out, annNameSpacePath(item.name_space()).text());
  }
  item.print_details(out);
  out << '\n';
}

// The item, then its members under it, depth first without recursion.
void print_item(std::ostream& out, const annNamedItem& top) {
  std::vector<std::pair<const annNamedItem*, size_t>> pending{{&top, 0}};
  while (!pending.empty()) {
    const auto [item, depth] = pending.back();
    pending.pop_back();
    print_line(out, *item, depth);
    for (size_t i = item->num_members(); i-- > 0;)
      if (const annNamedItem* member = item->member(i))
        pending.emplace_back(member, depth + 1);
  }
}

} // namespace

void annDocument::print(std::ostream& out) const {
  std::unordered_set<const annNamedItem*> members;
  for (const auto& item : items_)
    for (size_t i = 0; i < item->num_members(); ++i)
      members.insert(item->member(i));
  for (const auto& item : items_)
    if (!members.count(item.get()))
      print_item(out, *item);
}
