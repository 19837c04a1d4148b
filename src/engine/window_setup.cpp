#include "engine/window_setup.h"

#include "display/set_window.h"

namespace velko::engine {

bool checkColorDepth(platform::Host& host) {
    display::SetWindow setWindow(host.pump.native());
    return setWindow.chkDevColor() != 0;
}

void placeMainWindow(platform::Host& host) {
    display::SetWindow setWindow(host.pump.native());
    setWindow.SetTopWindow(0);
}

}  // namespace velko::engine
