// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Utf8Locale.h"

#include <clocale>
#include <locale.h>

namespace Orvane
{

struct ThreadUtf8Locale::State
{
    locale_t utf8 = nullptr;
    locale_t previous = nullptr;
};

ThreadUtf8Locale::ThreadUtf8Locale() : m_state(std::make_unique<State>())
{
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        if ((m_state->utf8 = ::newlocale(LC_CTYPE_MASK, name, nullptr)))
            break;
    }
    if (m_state->utf8)
        m_state->previous = ::uselocale(m_state->utf8);
}

ThreadUtf8Locale::~ThreadUtf8Locale()
{
    if (m_state->utf8) {
        ::uselocale(m_state->previous);
        ::freelocale(m_state->utf8);
    }
}

bool ThreadUtf8Locale::active() const
{
    return m_state->utf8 != nullptr;
}

} // namespace Orvane
