#include "files/MemoryFileSystem.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

class StringReader : public FileReader {
 public:
  StringReader(std::string content, std::optional<std::size_t> failAfter, FileFault failure)
      : content_(std::move(content)), failAfter_(failAfter), failure_(failure) {}
  FilePiece Read(char* buffer, std::size_t size) override {
    std::size_t end = content_.size();
    if (failAfter_ && *failAfter_ < end) {
      if (at_ >= *failAfter_) return {0, FileStatus::Failed(failure_, "programmed fault")};
      end = *failAfter_;
    }
    const std::size_t count = std::min(size, end - at_);
    std::copy_n(content_.data() + at_, count, buffer);
    at_ += count;
    return {count, FileStatus::Done()};
  }

 private:
  std::string content_;
  std::optional<std::size_t> failAfter_;
  FileFault failure_;
  std::size_t at_ = 0;
};

}  // namespace

std::string MemoryFileSystem::Key(const fs::path& path) {
  return path.lexically_normal().generic_string();
}

FileFault MemoryFileSystem::Begin(const char* what, const std::string& key) {
  const std::size_t number = ++operations_;
  auto [first, last] = hooks_.equal_range(number);
  for (auto it = first; it != last; ++it) it->second();
  std::string& line = log_.emplace_back(what);
  line.reserve(line.size() + 1 + key.size() + 8);  // and ": failed"
  line += ' ';
  line += key;
  const auto failing = failing_.find(number);
  return failing == failing_.end() ? FileFault::None : failing->second;
}

bool MemoryFileSystem::End(bool ok) {
  log_.back() += ok ? ": ok" : ": failed";
  return ok;
}

FileStatus MemoryFileSystem::End(FileFault fault) {
  End(fault == FileFault::None);
  return FileStatus::Failed(fault, fault == FileFault::None ? "" : "programmed fault");
}

std::size_t MemoryFileSystem::UsedBytes() const {
  std::size_t used = 0;
  for (const auto& [key, node] : nodes_) used += node.Content.size();
  return used;
}

OpenedFile MemoryFileSystem::OpenForReading(const fs::path& path) {
  const std::string key = Key(path);
  if (const FileFault programmed = Begin("read", key); programmed != FileFault::None)
    return {nullptr, End(programmed)};
  const auto it = nodes_.find(key);
  if (it == nodes_.end()) return {nullptr, End(FileFault::NotFound)};
  if (it->second.Folder) return {nullptr, End(FileFault::InTheWay)};
  if (held_.count(key)) return {nullptr, End(FileFault::InUse)};
  return {std::make_unique<StringReader>(it->second.Content, readLimit_, readFailure_),
          End(FileFault::None)};
}

FileStatus MemoryFileSystem::Exists(const fs::path& path) {
  const std::string key = Key(path);
  if (const FileFault programmed = Begin("exists", key); programmed != FileFault::None)
    return End(programmed);
  return End(nodes_.count(key) != 0 ? FileFault::None : FileFault::NotFound);
}

FileStatus MemoryFileSystem::ReplaceContent(const fs::path& path, std::string_view content) {
  const std::string key = Key(path);
  if (const FileFault programmed = Begin("replace", key); programmed != FileFault::None)
    return End(programmed);
  if (readOnly_) return End(FileFault::ReadOnly);
  const auto it = nodes_.find(key);
  if (it != nodes_.end() && it->second.Folder) return End(FileFault::InTheWay);
  if (held_.count(key)) return End(FileFault::InUse);
  const std::size_t old = it == nodes_.end() ? 0 : it->second.Content.size();
  if (spaceLimit_ && UsedBytes() - old + content.size() > *spaceLimit_)
    return End(FileFault::NoSpace);
  nodes_[key] = Node{false, std::string(content)};
  return End(FileFault::None);
}

FileStatus MemoryFileSystem::Remove(const fs::path& path) {
  const std::string key = Key(path);
  if (const FileFault programmed = Begin("remove", key); programmed != FileFault::None)
    return End(programmed);
  const auto it = nodes_.find(key);
  if (it == nodes_.end()) return End(FileFault::None);
  if (it->second.Folder) return End(FileFault::InTheWay);
  if (readOnly_) return End(FileFault::ReadOnly);
  if (held_.count(key)) return End(FileFault::InUse);
  nodes_.erase(it);
  return End(FileFault::None);
}

void MemoryFileSystem::HoldFile(const fs::path& path, bool held) {
  if (held)
    held_.insert(Key(path));
  else
    held_.erase(Key(path));
}

void MemoryFileSystem::PutFile(const fs::path& path, std::string content) {
  nodes_[Key(path)] = Node{false, std::move(content)};
}

void MemoryFileSystem::PutFolder(const fs::path& path) { nodes_[Key(path)] = Node{true, {}}; }

void MemoryFileSystem::Erase(const fs::path& path) { nodes_.erase(Key(path)); }

std::optional<std::string> MemoryFileSystem::FileContent(const fs::path& path) const {
  const auto it = nodes_.find(Key(path));
  if (it == nodes_.end() || it->second.Folder) return std::nullopt;
  return it->second.Content;
}

bool MemoryFileSystem::IsFolder(const fs::path& path) const {
  const auto it = nodes_.find(Key(path));
  return it != nodes_.end() && it->second.Folder;
}

std::vector<std::string> MemoryFileSystem::Paths() const {
  std::vector<std::string> paths;
  for (const auto& [key, node] : nodes_) paths.push_back(key);
  return paths;
}
