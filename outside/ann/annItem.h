// annItem.h - the core of the annotation model: document, named items, handles, class tags.
//
// The document owns its items; handles (annPtr<T>, spelled annStyleSetannPtr
// and so on) share an item and carry the name it was reached by plus a name
// space. A default handle is invalid. An item refers to its level and style
// set through handles, so they stay alive while any item uses them, even
// after they leave the document. Each item kind has a static class tag
// (sto_class_annStyleSet() and its like) whose factory makes a temporary,
// document-less instance; abstract kinds have no factory.
#pragma once

#include "annItemArena.h"
#include "annNameIndex.h"
#include "annSharedHandle.h"
#include "co.h"
#include "sto.h"
#include "ut.h"
#include "vorout_export.h"

#include <deque>
#include <iosfwd>
#include <map>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <vector>

// Hierarchy status of an item; a new item is annHIERARCHY_INDEPENDENT (3).
enum annHierarchy {
  annHIERARCHY_NONE = 0,
  annHIERARCHY_CHILD = 1,
  annHIERARCHY_PARENT = 2,
  annHIERARCHY_INDEPENDENT = 3
};

class annDocument;
class annNamedItem;
class annNameSpace;
using annNameSpacePtr = std::shared_ptr<annNameSpace>;

// A named scope that item names live in; the root has no parent.
// reference is how the data that led to the space named it (a component
// file as its assembly refers to it); null when it has no other name.
class VOROUT_API annNameSpace {
public:
  annNameSpace(const utString& name, annNameSpacePtr parent, const utString& reference = utString())
      : name_(name), parent_(std::move(parent)), reference_(reference) {}
  const utString& name() const { return name_; }
  const annNameSpacePtr& parent() const { return parent_; }
  const utString& reference() const { return reference_; }

private:
  utString name_;
  annNameSpacePtr parent_;
  utString reference_;
};

// The names of a name space and its ancestors, outermost first: a value that
// survives the document it was read from.
class VOROUT_API annNameSpacePath {
public:
  annNameSpacePath() = default;
  explicit annNameSpacePath(const annNameSpacePtr& space);
  size_t depth() const { return names_.size(); }
  const utString& name(size_t i) const { return names_[i]; }
  void append(const utString& name) { names_.append(name); }
  int invalid() const { return names_.empty(); }
  // "outer/inner" form for messages and printing.
  utString text() const;
  int operator==(const annNameSpacePath& other) const;

private:
  coVariableArr<utString> names_;
};

// Anything that can own annotation items.
class VOROUT_API annEntity {
public:
  virtual ~annEntity();
  virtual annDocument* document() = 0;
};

// A handle: the name an item is known by, a shared reference to it and the
// name space the handle resolves in.
class VOROUT_API annPtrBase {
public:
  annPtrBase() = default;
  annPtrBase(const utString& name, std::shared_ptr<annNamedItem> item)
      : name_(name), item_(std::move(item)) {}
  int invalid() const { return item_ == nullptr; }
  const utString& name() const { return name_; }
  annNamedItem* pointer() const { return item_.get(); }
  const std::shared_ptr<annNamedItem>& shared() const { return item_; }
  const annNameSpacePtr& name_space() const { return name_space_; }
  void set_name_space(const annNameSpacePtr& space) { name_space_ = space; }
  int operator==(const annPtrBase& other) const { return item_ == other.item_; }
  int operator!=(const annPtrBase& other) const { return item_ != other.item_; }

protected:
  // The shared reference of an item that some document or handle holds;
  // null for an item held by nobody.
  static std::shared_ptr<annNamedItem> share(annNamedItem* item);

private:
  utString name_;
  std::shared_ptr<annNamedItem> item_;
  annNameSpacePtr name_space_;
};

template <class T> class annPtr : public annPtrBase {
public:
  annPtr() = default;
  annPtr(const utString& name, std::shared_ptr<T> item)
      : annPtrBase(name, std::static_pointer_cast<annNamedItem>(std::move(item))) {}
  // A handle to an item already held by a document or another handle, under
  // the given name; invalid when nothing holds the item.
  annPtr(const utString& name, T* item) : annPtrBase(name, share(item)) {}
  // A handle to a more special kind is a handle to this kind too.
  template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
  annPtr(const annPtr<U>& other) : annPtrBase(other) {}
  // Views another handle as this kind; invalid when the item is of another kind.
  static annPtr cast(const annPtrBase& other) {
    annPtr result;
    if (T::sto_dynamic_cast(other.pointer()))
      static_cast<annPtrBase&>(result) = other;
    return result;
  }
  // The item as this kind; null when the handle is invalid or refers to an
  // item of another kind (a placeholder standing in for one).
  T* pointer() const { return T::sto_dynamic_cast(annPtrBase::pointer()); }
  T* operator->() const { return pointer(); }
  T& operator*() const { return *pointer(); }
  // The item of that name whose kind is tag (or derives from it) in the
  // owner's document and its current name space, as this kind; invalid when
  // there is none, when it is not of this kind, or without an owner.
  static annPtr find_item(annEntity* owner, const utString& name, const stoClass* tag);
};

// An ordered set of item handles: add keeps the first of equal handles. The
// two construction arguments are a size hint and a growth rate.
template <class T> class annPtrcoSet {
public:
  using iterator = typename coVariableArr<annPtr<T>>::const_iterator;
  annPtrcoSet() = default;
  annPtrcoSet(int initial_size, int /*grow_percent*/) : items_(initial_size) {}
  // Nonzero when the handle was added (valid and not yet present).
  int add(const annPtr<T>& item) {
    if (item.invalid())
      return 0;
    for (const annPtr<T>& held : items_)
      if (held == item)
        return 0;
    items_.append(item);
    return 1;
  }
  // Nonzero when the set held the item.
  int remove(const annNamedItem* item) {
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i].annPtrBase::pointer() == item) {
        items_.remove(i);
        return 1;
      }
    return 0;
  }
  size_t size() const { return items_.size(); }
  int empty() const { return items_.empty(); }
  const annPtr<T>& operator[](size_t i) const { return items_[i]; }
  iterator begin() const { return items_.begin(); }
  iterator end() const { return items_.end(); }

private:
  coVariableArr<annPtr<T>> items_;
};

class annLevel;
class annStyleSet;
using annNamedItemPtr = annPtr<annNamedItem>;
using annLevelannPtr = annPtr<annLevel>;
using annStyleSetannPtr = annPtr<annStyleSet>;

// Per-kind boilerplate: the class tag and the kind's own cast.
#define ANN_ITEM_KIND(Kind)                                                                        \
public:                                                                                            \
  static const stoClass* sto_static_class();                                                       \
  const stoClass* sto_class() const override {                                                     \
    return sto_static_class();                                                                     \
  }                                                                                                \
  static Kind* sto_dynamic_cast(stoObject* object) {                                               \
    return static_cast<Kind*>(::sto_dynamic_cast(sto_static_class(), object));                     \
  }                                                                                                \
  static const Kind* sto_dynamic_cast(const stoObject* object) {                                   \
    return static_cast<const Kind*>(::sto_dynamic_cast(sto_static_class(), object));               \
  }

// Every item of the document: a name, the document that owns it and the
// presentation properties shared by all kinds. The display name is null
// until set; the level and style set are invalid handles until set.
class VOROUT_API annNamedItem : public stoSchemaObject,
                                public std::enable_shared_from_this<annNamedItem> {
  ANN_ITEM_KIND(annNamedItem)
public:
  annNamedItem() = default;
  annNamedItem(const annNamedItem&) = delete;
  annNamedItem& operator=(const annNamedItem&) = delete;
  ~annNamedItem() override;
  annDocument* owner() const { return owner_; }
  const annNameSpacePtr& name_space() const { return name_space_; }
  void set_name_space(const annNameSpacePtr& space);
  annHierarchy hierarchy_status() const { return hierarchy_; }
  void set_hierarchy(annHierarchy status) { hierarchy_ = status; }
  int visible() const { return visible_; }
  void set_visible(int visible) { visible_ = visible; }

  // The name shown to the user; the item's name until one is set.
  utString display_name() const { return display_name_set() ? display_name_ : name(); }
  int display_name_set() const { return !display_name_.is_null(); }
  void set_display_name(const utString& name) { display_name_ = name; }
  const annLevelannPtr& level() const { return level_.get(); }
  void set_level(const annLevelannPtr& level);
  const annStyleSetannPtr& style() const { return style_.get(); }
  void set_style(const annStyleSetannPtr& style);

  // What the document prints after the kind, the name and the common
  // properties: " key value" pairs of the kind's own data. Nothing by default.
  virtual void print_details(std::ostream& out) const;
  // The items this one holds as its parts (a group's members), which the
  // document prints under it. None by default.
  virtual size_t num_members() const;
  virtual annNamedItem* member(size_t i) const;
  // Takes every occurrence of item out of the parts; nonzero when there was one.
  virtual int remove_member(const annNamedItem* item);
  // A copy of this item, and of what it refers to, made in the owner's
  // document under the same name and display name. An invalid handle for
  // kinds that cannot be copied (the default) or without an owner.
  virtual annNamedItemPtr copy(annEntity* owner) const;

protected:
  friend class annDocument;
  friend class annNameIndex;
  annDocument* owner_ = nullptr;
  annNameSpacePtr name_space_;
  annHierarchy hierarchy_ = annHIERARCHY_INDEPENDENT;
  int visible_ = 1;
  utString display_name_;
  // Shared with the document's other items of the same level and style set.
  annSharedHandle<annLevel> level_;
  annSharedHandle<annStyleSet> style_;
  // The next item adopted under the same name by the same document, the
  // first one for the last (annNameIndex); null while not in a document.
  annNamedItem* next_same_name_ = nullptr;
};

inline const stoClass* sto_class_annNamedItem() {
  return annNamedItem::sto_static_class();
}

class annPropertiesAssignment;
using annPropertiesAssignmentannPtr = annPtr<annPropertiesAssignment>;
class annPresentation;
using annPresentationannPtr = annPtr<annPresentation>;

// What is attached to a document as a whole: the properties assignments of
// its items, in the order they were attached.
class VOROUT_API annModel {
public:
  // Attaches an assignment made in document. Nonzero when attached; an
  // invalid handle, an assignment of another document or one already
  // attached is refused.
  int add_properties_assignment(const annPropertiesAssignmentannPtr& assignment,
                                annDocument* document);
  size_t num_properties_assignments() const { return assignments_.size(); }
  const annPropertiesAssignmentannPtr& properties_assignment(size_t i) const {
    return assignments_[i];
  }
  // Registers a top-level presentation (a drawing sheet); nonzero when
  // added, 0 for an invalid handle or one registered already.
  int add_presentation(const annPresentationannPtr& presentation);
  size_t num_presentations() const { return presentations_.size(); }
  const annPresentationannPtr& presentation(size_t i) const { return presentations_[i]; }

private:
  coVariableArr<annPropertiesAssignmentannPtr> assignments_;
  coVariableArr<annPresentationannPtr> presentations_;
};

// The host document: owns every item made in it and keeps them in creation
// order. Its name (empty unless given) is the host's title for it. Items
// the model's factories make live in the document's arena (annItemArena),
// which outlives the document while any of them does.
class VOROUT_API annDocument : public annEntity {
public:
  annDocument();
  explicit annDocument(const utString& name);
  ~annDocument() override;
  annDocument(const annDocument&) = delete;
  annDocument& operator=(const annDocument&) = delete;
  annDocument* document() override { return this; }
  annModel* model() { return &model_; }
  const annModel* model() const { return &model_; }
  const utString& name() const { return name_; }

  // Takes a new item over and answers a handle to it.
  template <class T> annPtr<T> adopt(T* item, const utString& name) {
    return adopt(std::shared_ptr<T>(item), name);
  }
  // The same for an item made with std::make_shared (one allocation).
  template <class T> annPtr<T> adopt(std::shared_ptr<T> shared, const utString& name) {
    add_item(shared, name);
    annPtr<T> handle(name, shared);
    handle.set_name_space(current_name_space_);
    return handle;
  }
  // A new item of kind T made in the document's arena and taken over.
  template <class T> annPtr<T> make(const utString& name) {
    return adopt(std::allocate_shared<T>(annItemAllocator<T>(arena_.arena)), name);
  }
  // The level of that number and name made in the current name space by
  // make_annLevel and still in the document; null when there is none.
  annLevel* level_of(int number, const utString& name) const;
  // Enters a level in the table level_of reads; it must be in the document.
  void add_level(annLevel* level);
  // The copy of a level or style set handle that the document's items
  // share (annSharedHandle): the one kept for its item when it holds the
  // same handle, else a new one, kept from then on. None for an invalid handle.
  annSharedHandle<annLevel> share_handle(const annLevelannPtr& level);
  annSharedHandle<annStyleSet> share_handle(const annStyleSetannPtr& style);
  // The item of that name whose kind is tag (or derives from it); invalid when none.
  annNamedItemPtr find_item(const utString& name, const stoClass* tag) const;
  size_t num_items() const { return items_.size(); }
  const std::shared_ptr<annNamedItem>& item(size_t i) const { return items_[i]; }
  // Nonzero when the item was in the document and is now taken out.
  int remove_item(const annNamedItem* item);
  // Takes an item out of the document and out of every group of the
  // document that holds it; the members of a removed group stay in the
  // document. Nonzero when the document or one of its groups held it.
  int remove_geometry(const annNamedItemPtr& item);

  const annNameSpacePtr& current_name_space() const { return current_name_space_; }
  // Makes space current and answers the previous current name space.
  annNameSpacePtr set_name_space(const annNameSpacePtr& space);
  // The document's own name space whose names, outermost first, are those
  // of path; made with its enclosing spaces on first use, so that equal
  // paths answer the same space. Null for an empty path.
  annNameSpacePtr name_space_of(const annNameSpacePath& path);

  // One line per item in creation order, each line ending in a newline:
  //   Kind "name"[ level N][ style "set"][ display "shown"][ in "a/b"][details]
  // Kind is the item's class tag name; the bracketed parts appear when the
  // item has a level (its number), a style set (its name), a display name
  // or a name space (its path); details are the kind's own print_details.
  // An item that is a member of a group is not listed on its own but under
  // each group holding it, two blanks deeper per level of nesting.
  void print(std::ostream& out) const;

private:
  friend class annNamedItem;
  void add_item(const std::shared_ptr<annNamedItem>& item, const utString& name);
  // Puts item at the end of the chain of its name and name space.
  void link_name(annNamedItem* item);
  // Takes item out of the chain of its name and name space.
  void unlink_name(annNamedItem* item);
  // Takes item out of the level table.
  void remove_level(const annNamedItem* item);
  // The document's use of its arena, given up after the items (declared
  // before them, so destroyed after them).
  struct ArenaUse {
    annItemArena* arena = annItemArena::create();
    ArenaUse() = default;
    ArenaUse(const ArenaUse&) = delete;
    ArenaUse& operator=(const ArenaUse&) = delete;
    ~ArenaUse() { arena->release(); }
  };
  ArenaUse arena_;
  // In blocks that never move: a document of many items grows without
  // copying its list, and never holds an old and a new copy at once.
  std::deque<std::shared_ptr<annNamedItem>> items_;
  // Items by the name they were adopted under and their name space, so
  // that finding a style set by name walks neither the whole document nor
  // the same name in other name spaces (one per component of an assembly).
  annNameIndex by_name_;
  // The level table: one level per number, name and name space, so that
  // the items of a layer share its level.
  struct LevelKey {
    const annNameSpace* space;
    int number;
    bool operator<(const LevelKey& other) const {
      return space != other.space ? space < other.space : number < other.number;
    }
  };
  std::multimap<LevelKey, annLevel*> levels_;
  // The handle copies share_handle keeps, by the item they reach; an item
  // taken out of the document is taken out of these too.
  template <class T>
  using SharedHandles = std::unordered_map<const annNamedItem*, annSharedHandle<T>>;
  SharedHandles<annLevel> shared_levels_;
  SharedHandles<annStyleSet> shared_styles_;
  annNameSpacePtr current_name_space_;
  // The spaces name_space_of made, by their enclosing space and name.
  std::map<std::pair<const annNameSpace*, utString>, annNameSpacePtr> name_spaces_;
  annModel model_;
  utString name_ = utString("");
};

// A new name space named name inside the owner's current name space (at
// the root when there is none), known to the data that led to it as
// reference. Null without an owner. The document does not keep it: it
// lives while it is current or an item or handle refers to it.
VOROUT_API annNameSpacePtr make_annNameSpace(annEntity* owner, const utString& name,
                                             const utString& reference);

template <class T>
annPtr<T> annPtr<T>::find_item(annEntity* owner, const utString& name, const stoClass* tag) {
  annDocument* document = owner ? owner->document() : nullptr;
  if (!document)
    return annPtr();
  return cast(document->find_item(name, tag));
}
