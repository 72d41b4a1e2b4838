#pragma once

#include <stdexcept>
#include <string>

namespace tarvix {

// A failed step on a file. Carries enough for a message a user can act on:
// which file, what we were doing, and the system's own words for the failure.
class FileError : public std::runtime_error {
public:
    // The message reads "Cannot <operation> <path><purpose>: <reason>", for example
    // "Cannot open /games/mod.exe for writing: Permission denied".
    FileError(std::string path, std::string operation, std::string reason, std::string purpose = {});
    // Builds the reason from errno.
    static FileError fromErrno(std::string path, std::string operation, int err, std::string purpose = {});

    const std::string& path() const { return m_path; }
    const std::string& operation() const { return m_operation; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_operation;
    std::string m_reason;
};

} // namespace tarvix
