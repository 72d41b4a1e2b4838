// tarvix-cli: the table descriptions on the command line, for scripts, spreadsheets and
// shared mods. Everything is in the tarvix_cli library, so the tests run it in-process.

#include "cli/Cli.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>

#include <unistd.h>

namespace {

// Standard output that remembers why a write failed: a dump or a recipe cut short by a
// full disk must not pass for a whole one.
class StandardOutput : public std::streambuf {
public:
    StandardOutput() { setp(m_buffer, m_buffer + sizeof m_buffer); }
    int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override
    {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain()
    {
        const char* from = pbase();
        while (!m_error && from < pptr()) {
            const ssize_t n = ::write(STDOUT_FILENO, from, static_cast<std::size_t>(pptr() - from));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) m_error = errno;
            else from += n;
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return !m_error;
    }

    char m_buffer[1 << 16];
    int m_error = 0;
};

} // namespace

int main(int argc, char** argv)
{
    StandardOutput output;
    std::ostream out(&output);
    const int status = tarvix::cli::run(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
    out.flush();
    if (output.error()) {
        std::cerr << "tarvix-cli: cannot write to standard output: " << std::strerror(output.error())
                  << "; what was written is incomplete\n";
        return 2;
    }
    return status;
}
