// The compositor's globals that tesserine-background binds: the ones it needs (compositor,
// shm, layer shell) and the ones it uses where offered (viewporter, fractional scale, xdg
// output for output names on compositors whose wl_output does not give them).
#pragma once

#include <wayland-client.h>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

struct WaylandGlobals {
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  zwlr_layer_shell_v1* layerShell = nullptr;
  wp_viewporter* viewporter = nullptr;
  wp_fractional_scale_manager_v1* fractionalScale = nullptr;
  zxdg_output_manager_v1* xdgOutputs = nullptr;
};
