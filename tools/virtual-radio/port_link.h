// The symbolic link through which the program's port number reaches the
// virtual radio: port N is the link comN in the per-user data folder's
// ports/ folder, when such a link exists.
#pragma once

#include <string>

namespace radio {

// ${XDG_DATA_HOME:-$HOME/.local/share}/TQ305CloneDesk/ports/comN
std::string comPortLinkPath(int port);

class PortLink {
  public:
    PortLink() = default;
    ~PortLink() { remove(); }
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    // Points linkPath at target, creating its folder. A link already there
    // (left by a radio that died) is replaced in one step; anything that is
    // not a link is left alone and refused.
    bool create(const std::string& linkPath, const std::string& target, std::string& error);
    // Removes the link, unless another radio has taken it over since.
    void remove();

  private:
    std::string m_path;
    std::string m_target;
};

} // namespace radio
