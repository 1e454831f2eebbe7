#pragma once
#include <functional>
#include <vector>

namespace numora {

// A list of handlers run synchronously, in the order they were connected.
// Handlers may connect further handlers or trigger other events while running.
template <typename... Args>
class Event
{
public:
    using Handler = std::function<void(Args...)>;
    void connect(Handler h) { m_handlers.push_back(std::move(h)); }
    void raise(Args... args) const
    {
        // Index loop: a handler may append to the list while we run it.
        for (std::size_t i = 0; i < m_handlers.size(); ++i) {
            Handler h = m_handlers[i];
            h(args...);
        }
    }
    bool empty() const { return m_handlers.empty(); }

private:
    std::vector<Handler> m_handlers;
};

} // namespace numora
