#include "exe/AccessLog.h"

namespace tarvix {

namespace {
AccessLog* g_log = nullptr;
} // namespace

AccessLog::AccessLog() : m_previous(g_log)
{
    g_log = this;
}

AccessLog::~AccessLog()
{
    g_log = m_previous;
}

void AccessLog::note(bool write, std::uint64_t offset, std::size_t count)
{
    if (g_log) g_log->m_accesses.push_back({write, offset, count});
}

} // namespace tarvix
