#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace numora {

// A list of handlers run synchronously, in the order they were connected.
// Handlers may connect further handlers, disconnect any handler (themselves
// too) or trigger other events while running.
template <typename... Args> class Event
{
public:
    using Handler = std::function<void(Args...)>;
    // Identifies one connection, to disconnect it later. Never 0.
    using Token = std::uint64_t;

    Token connect(Handler h)
    {
        m_handlers.push_back(Entry{++m_lastToken, std::move(h)});
        return m_lastToken;
    }
    // The handler runs no more; unknown or spent tokens are ignored.
    void disconnect(Token t)
    {
        for (Entry &e : m_handlers) {
            if (e.token == t) {
                e.handler = nullptr;
                m_hasDead = true;
            }
        }
        compact();
    }
    void raise(Args... args)
    {
        ++m_raising;
        // Index loop: a handler may append to the list while we run it.
        for (std::size_t i = 0; i < m_handlers.size(); ++i) {
            if (!m_handlers[i].handler)
                continue;
            Handler h = m_handlers[i].handler;
            h(args...);
        }
        --m_raising;
        compact();
    }
    bool empty() const
    {
        for (const Entry &e : m_handlers)
            if (e.handler)
                return false;
        return true;
    }
    std::size_t size() const { return m_handlers.size(); }

private:
    struct Entry
    {
        Token token;
        Handler handler;
    };
    void compact()
    {
        // Only outside a raise, whose index loop must not see the list shrink.
        if (m_raising > 0 || !m_hasDead)
            return;
        std::erase_if(m_handlers, [](const Entry &e) { return !e.handler; });
        m_hasDead = false;
    }
    std::vector<Entry> m_handlers;
    Token m_lastToken = 0;
    int m_raising = 0;
    bool m_hasDead = false;
};

} // namespace numora
