#include "ui/WindowManager.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace poirec {
namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t ExistingAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name);
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The window that the window's property of type WINDOW names; none when it has none.
xcb_window_t WindowProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, name, XCB_ATOM_WINDOW, 0, 1);
  const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(
      xcb_get_property_reply(connection, cookie, nullptr));
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) {
    return xcb_window_t{XCB_WINDOW_NONE};
  }
  return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

bool X11WindowManagerRuns(xcb_connection_t* connection) {
  const xcb_atom_t check = ExistingAtom(connection, "_NET_SUPPORTING_WM_CHECK");
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (check == XCB_ATOM_NONE || screen == nullptr) return false;
  const xcb_window_t announced = WindowProperty(connection, screen->root, check);
  // A window manager that ended may leave the root's property behind; the window it names
  // names itself only while its window manager runs.
  return announced != XCB_WINDOW_NONE && WindowProperty(connection, announced, check) == announced;
}

}  // namespace

bool WindowManagerRuns() {
  const QString platform = QGuiApplication::platformName();
  if (platform.startsWith(QLatin1String("wayland"))) return true;
  if (platform != QLatin1String("xcb")) return false;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr && x11->connection() != nullptr && X11WindowManagerRuns(x11->connection());
}

}  // namespace poirec
