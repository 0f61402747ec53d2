// dxfRecords.cpp - the chunked list that holds the entities of the spaces.
#include "dxfRecords.h"

#include "dxfRecordPacking.h"

#include <cstdint>

// The records of a chunk written one after the other; starts[i] is where
// record i begins.
struct dxfEntityList::Packed {
  std::vector<uint32_t> starts;
  std::string bytes;
};

dxfEntityList::dxfEntityList() = default;
dxfEntityList::~dxfEntityList() = default;
// A list moved from is left empty.
dxfEntityList::dxfEntityList(dxfEntityList&& other) noexcept
    : chunks_(std::move(other.chunks_)), packed_(std::move(other.packed_)), size_(other.size_),
      packable_(other.packable_) {
  other.chunks_.clear();
  other.packed_.clear();
  other.size_ = 0;
}

dxfEntityList& dxfEntityList::operator=(dxfEntityList&& other) noexcept {
  if (this != &other) {
    chunks_ = std::move(other.chunks_);
    packed_ = std::move(other.packed_);
    size_ = other.size_;
    packable_ = other.packable_;
    other.chunks_.clear();
    other.packed_.clear();
    other.size_ = 0;
  }
  return *this;
}

void dxfEntityList::push_back(dxfEntity&& entity) {
  if (size_ % chunk_size == 0) {
    if (packable_ && !chunks_.empty())
      pack_chunk(chunks_.size() - 1);
    chunks_.emplace_back(new std::vector<dxfEntity>());
    chunks_.back()->reserve(chunk_size); // filled to here, never moved
    packed_.emplace_back();
  }
  chunks_.back()->push_back(std::move(entity));
  ++size_;
}

void dxfEntityList::release_chunk(size_t chunk) {
  if (chunk < chunks_.size()) {
    chunks_[chunk].reset();
    packed_[chunk].reset();
  }
}

void dxfEntityList::pack_chunk(size_t chunk) {
  const std::vector<dxfEntity>& records = *chunks_[chunk];
  for (const dxfEntity& e : records)
    if (!dxf_packable(e) || !packable_(e))
      return;
  std::string bytes;
  std::unique_ptr<Packed> packed(new Packed());
  packed->starts.reserve(records.size());
  for (const dxfEntity& e : records) {
    if (bytes.size() > UINT32_MAX)
      return; // records too long to be told apart in 32 bits stay as they are
    packed->starts.push_back(uint32_t(bytes.size()));
    dxf_pack_entity(e, bytes);
  }
  packed->bytes.assign(bytes); // to measure: the packing string grew by doubling
  packed_[chunk] = std::move(packed);
  chunks_[chunk].reset();
}

std::vector<dxfEntity>& dxfEntityList::held_chunk(size_t chunk) const {
  if (!chunks_[chunk] && packed_[chunk]) {
    const Packed& packed = *packed_[chunk];
    std::unique_ptr<std::vector<dxfEntity>> records(new std::vector<dxfEntity>());
    records->reserve(chunk_size);
    records->resize(packed.starts.size());
    for (size_t i = 0; i < packed.starts.size(); ++i)
      dxf_unpack_entity(packed.bytes.data() + packed.starts[i], (*records)[i]);
    chunks_[chunk] = std::move(records);
    packed_[chunk].reset();
  }
  return *chunks_[chunk];
}

const dxfEntity& dxfEntityList::read(size_t i, dxfEntity& scratch) const {
  const size_t chunk = i / chunk_size;
  if (chunks_[chunk])
    return (*chunks_[chunk])[i % chunk_size];
  dxf_unpack_entity(packed_[chunk]->bytes.data() + packed_[chunk]->starts[i % chunk_size], scratch);
  return scratch;
}
