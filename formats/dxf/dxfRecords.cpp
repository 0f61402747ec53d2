// dxfRecords.cpp - the chunked list that holds the entities of the spaces.
#include "dxfRecords.h"

dxfEntityList::dxfEntityList() = default;
dxfEntityList::~dxfEntityList() = default;
// A list moved from is left empty.
dxfEntityList::dxfEntityList(dxfEntityList&& other) noexcept
    : chunks_(std::move(other.chunks_)), size_(other.size_) {
  other.chunks_.clear();
  other.size_ = 0;
}

dxfEntityList& dxfEntityList::operator=(dxfEntityList&& other) noexcept {
  if (this != &other) {
    chunks_ = std::move(other.chunks_);
    size_ = other.size_;
    other.chunks_.clear();
    other.size_ = 0;
  }
  return *this;
}

void dxfEntityList::push_back(dxfEntity&& entity) {
  if (size_ % chunk_size == 0) {
    chunks_.emplace_back(new std::vector<dxfEntity>());
    chunks_.back()->reserve(chunk_size); // filled to here, never moved
  }
  chunks_.back()->push_back(std::move(entity));
  ++size_;
}

void dxfEntityList::release_chunk(size_t chunk) {
  if (chunk < chunks_.size())
    chunks_[chunk].reset();
}
