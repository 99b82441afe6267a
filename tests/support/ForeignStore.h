// Writes into a registry store file straight through SQLite, as another program could, to
// give tests stores that the registry itself would never write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace foreign_store {

// The id of the existing key `path` (folded components) below HKEY_LOCAL_MACHINE, or -1.
std::int64_t KeyId(const std::filesystem::path& store, const std::vector<std::string>& path);

// Adds a chain of `levels` keys, each named "d", below the key `parent`; returns the
// deepest key's id, or -1 on failure.
std::int64_t AddKeyChain(const std::filesystem::path& store, std::int64_t parent, int levels);

// Runs SQL on the store; false on failure.
bool Exec(const std::filesystem::path& store, const std::string& sql);

}  // namespace foreign_store
