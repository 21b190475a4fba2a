#include "Platform/PlaceVariables.h"

namespace zantiva {
namespace {

// Drawn up from the libraries the program and its helpers load (Qt, Qt Multimedia's GStreamer
// and PulseAudio parts, the GStreamer plug-ins its device watch and registry scan load, GLib
// and GIO, fontconfig, Mesa's EGL and drivers, libva, libv4l2, libsecret through QtKeychain,
// libX11 and libICE under Qt's xcb platform, GnuTLS, the page reader's web engine and its
// SQLite): the names of the variables each one reads (`strings` over the installed library),
// each looked up in the library's own source or documentation for what it does with the place
// it names. A configuration file counts for the places it can name: fontconfig makes and
// fills the cache folders its file names, PulseAudio's library makes the cookie file its
// client configuration names.
constexpr PlaceVariable writtenPlaces[] = {
    {"XDG_RUNTIME_DIR", "nothing of this run is made there (PulseAudio's, dconf's and Qt's runtime files)"},
    {"PULSE_RUNTIME_PATH", "PulseAudio's runtime folder is not made or taken over there"},
    {"PULSE_STATE_PATH", "PulseAudio's state folder is not made or taken over there"},
    {"PULSE_CONFIG_PATH", "PulseAudio's cookie is not made there"},
    {"PULSE_CLIENTCONFIG", "PulseAudio's library reads no configuration from there, which can name where it makes its cookie"},
    {"FONTCONFIG_FILE", "fontconfig reads no configuration from there, which can name where it writes its cache"},
    {"FONTCONFIG_SYSROOT", "fontconfig takes neither its configuration nor its cache folders from there"},
    {"GST_REGISTRY", "GStreamer's registry is not written there"},
    {"GST_REGISTRY_1_0", "GStreamer's registry is not written there"},
    {"GST_DEBUG_FILE", "GStreamer's debugging log is not written there"},
    {"GST_DEBUG_DUMP_DOT_DIR", "GStreamer's pipeline graphs are not written there"},
    {"MESA_SHADER_CACHE_DIR", "Mesa's shader cache is not made there"},
    {"MESA_GLSL_CACHE_DIR", "Mesa's shader cache is not made there"},
    {"MESA_SHADER_DUMP_PATH", "Mesa's shader dumps are not written there"},
    {"MESA_SHADER_CAPTURE_PATH", "Mesa's shader captures are not written there"},
    {"MESA_SPIRV_FAIL_DUMP_PATH", "Mesa's shader dumps are not written there"},
    {"GALLIUM_HUD_DUMP_DIR", "Mesa's counter files are not written there"},
    {"GALLIUM_TRACE", "Mesa's driver trace is not written there"},
    {"LIBVA_TRACE", "libva's trace is not written there"},
    {"LIBV4L2_LOG_FILENAME", "libv4l2's log is not written there"},
    {"G_DBUS_COOKIE_SHA1_KEYRING_DIR", "GIO's D-Bus keyring is not made there"},
    {"SECRET_FILE_TEST_PATH", "libsecret's file keyring is not written there"},
    {"SSLKEYLOGFILE", "TLS session keys are not written there"},
    {"SQLITE_TMPDIR", "SQLite's temporary files are not made there"},
    {"XCOMPOSECACHE", "libX11's compose cache is not written there"},
};

// Qt's X connection reads the X authority (only the server side writes it); the session bus
// and the sound server are sockets connected to. PulseAudio's library opens the cookie to
// write, yet writes only where fewer than its 256 bytes are there, and makes a missing one
// with its folder.
constexpr ReachVariable readPlaces[] = {
    {"XAUTHORITY", ReachVariable::Kind::readableFile, 0, "X authority", nullptr},
    {"PULSE_COOKIE", ReachVariable::Kind::readableFile, 256, "cookie", "PulseAudio's library"},
    {"PULSE_SERVER", ReachVariable::Kind::socket, 0, "sound server", nullptr},
    {"DBUS_SESSION_BUS_ADDRESS", ReachVariable::Kind::socket, 0, "session bus", nullptr},
};

} // namespace

std::span<const PlaceVariable> placeVariables() { return writtenPlaces; }
std::span<const ReachVariable> reachVariables() { return readPlaces; }

} // namespace zantiva
