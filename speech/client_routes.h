#pragma once

#include <cstddef>
#include <map>

namespace tavik {

// Which connection hears the speech service's reports for a client id. The
// service names only the id, and a service started again gives its ids out
// afresh: the connection opened after a restart often gets the id the lost
// one had. The newest connection with an id hears its reports, and a
// connection that closes takes away its own route only, never the one that
// replaced it.
template <typename Connection> class ClientRoutes {
public:
    void enter(std::size_t client, Connection* connection) { m_routes[client] = connection; }

    void leave(std::size_t client, const Connection* connection) {
        const auto found = m_routes.find(client);
        if (found != m_routes.end() && found->second == connection) {
            m_routes.erase(found);
        }
    }

    Connection* connection(std::size_t client) const {
        const auto found = m_routes.find(client);
        return found == m_routes.end() ? nullptr : found->second;
    }

private:
    std::map<std::size_t, Connection*> m_routes;
};

} // namespace tavik
