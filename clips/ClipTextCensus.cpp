#include "clips/ClipTextCensus.h"

void ClipTextCensus::Remove(std::string_view text) {
    const auto entry = m_counts.find(Hash(text));
    if (entry == m_counts.end()) return;
    if (--entry->second <= 0) m_counts.erase(entry);
}
