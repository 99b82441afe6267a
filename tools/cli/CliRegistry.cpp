// tessamo-cli registry export | import FILE: the store as text (common/registry/RegistryText.h)
// and back.
//
// Export only reads: it shows the store as one moment without holding off the game's writes,
// and where there is no store yet it writes nothing and creates none. A store it cannot read
// whole is an error, never a shorter listing.
//
// Import checks the whole file before anything is written and then applies it in one
// transaction: a malformed file changes nothing and is reported with its line number.
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/registry/RegistryText.h"
#include "platform/PlatformConfig.h"
#include "platform/RegistrySupport.h"
#include "tools/cli/Commands.h"

namespace fs = std::filesystem;

namespace {

int Export(std::ostream& out, std::ostream& err) {
    // Where there is no store yet, the registry is empty; reading it must not make one.
    std::error_code ec;
    if (fs::symlink_status(platform::RegistryPath(), ec).type() == fs::file_type::not_found) {
        return 0;
    }
    // A damaged store is reported, not set aside for a new and empty one: its listing
    // would be empty.
    platform::SetRegistrySetsAsideDamage(false);
    // One read transaction, so that the text shows the store at one moment without keeping
    // the game from writing meanwhile.
    platform::RegistrySnapshot snapshot;
    if (!snapshot.Ok()) {
        err << "tessamo-cli: registry export: cannot open the store "
            << platform::RegistryPath().string() << "; it is left as it is\n";
        return 1;
    }
    std::ostringstream text;
    const registry_text::ExportError error = registry_text::ExportStore(text);
    if (error == registry_text::ExportError::kTooDeep) {
        err << "tessamo-cli: registry export: the store holds keys nested deeper than "
            << kMaxKeyDepth << " levels\n";
        return 1;
    }
    if (error != registry_text::ExportError::kNone) {
        err << "tessamo-cli: registry export: the store could not be read\n";
        return 1;
    }
    // Flushed here, so that a full disk shows before the status is given.
    out << text.str() << std::flush;
    if (!out.good()) {
        err << "tessamo-cli: registry export: writing the listing failed\n";
        return 1;
    }
    return 0;
}

// The whole content of a regular file; nullopt when it is something else or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        // Unformatted reads turn a failing read into badbit instead of an exception.
        std::string content;
        std::vector<char> buffer(1 << 16);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               in.gcount() > 0) {
            content.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        }
        if (in.bad()) return std::nullopt;
        return content;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

int Import(const std::string& file, std::ostream& err) {
    const std::optional<std::string> content = ReadWholeFile(file);
    if (!content) {
        err << "tessamo-cli: registry import: cannot read " << file << '\n';
        return 2;
    }
    std::vector<registry_text::KeyChange> changes;
    if (auto error = registry_text::ParseImport(*content, changes)) {
        err << "tessamo-cli: registry import: " << file << ':' << error->line << ": "
            << error->message << '\n';
        return 2;
    }
    // Waits for the store's write lock at most the busy timeout; a lock that another program
    // holds longer is reported, and the import is then not made at all.
    platform::RegistryBatch batch;
    if (!batch.Ok()) {
        err << "tessamo-cli: registry import: cannot open or lock the store "
            << platform::RegistryPath().string() << "; nothing was changed\n";
        return 1;
    }
    using CommitResult = platform::RegistryBatch::CommitResult;
    const CommitResult result =
        registry_text::ApplyImport(changes) ? batch.Commit() : CommitResult::kFailed;
    if (result == CommitResult::kFailed) {
        err << "tessamo-cli: registry import: writing the store failed; nothing was changed\n";
        return 1;
    }
    if (result == CommitResult::kNotOnDisk) {
        err << "tessamo-cli: registry import: the changes were made, but the store could not "
               "be forced to disk\n";
        return 1;
    }
    return 0;
}

}  // namespace

int RunRegistry(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "export") return Export(out, err);
    if (args.size() == 2 && args[0] == "import") return Import(args[1], err);
    err << "usage: tessamo-cli registry export | import FILE\n";
    return 2;
}
