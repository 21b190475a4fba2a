#include "Platform/PlaceVariables.h"

namespace zantiva {
namespace {

// Drawn up from the libraries the program and its helpers load (Qt, Qt Multimedia's GStreamer
// and PulseAudio parts, the GStreamer plug-ins its device watch and registry scan load, GLib
// and GIO, fontconfig, Mesa's EGL and drivers, libva, libv4l2, libsecret through QtKeychain,
// libX11 and libICE under Qt's xcb platform, GnuTLS, the page reader's web engine and its
// SQLite): the names of the variables each one reads (`strings` over the installed library),
// each looked up in the library's own source or documentation for what it does with the place
// it names. Kept are those a library writes to: it makes the folder, writes, replaces or
// takes over the file (a debugging output included, since a library writes it whenever the
// variable is set). Left out, as they only name what is read or connected to: XAUTHORITY and
// ICEAUTHORITY (Qt's X and session connections read them; only the server side writes them),
// DBUS_SESSION_BUS_ADDRESS and PULSE_SERVER (sockets), PULSE_CLIENTCONFIG, FONTCONFIG_FILE,
// FONTCONFIG_PATH, XCOMPOSEFILE, the plug-in, driver and data search paths. The places a
// library writes without a variable of its own follow HOME and the XDG folders, judged with
// them.
constexpr PlaceVariable table[] = {
    {"XDG_RUNTIME_DIR", "nothing of this run is made there (PulseAudio's, dconf's and Qt's runtime files)"},
    {"PULSE_RUNTIME_PATH", "PulseAudio's runtime folder is not made or taken over there"},
    {"PULSE_STATE_PATH", "PulseAudio's state folder is not made or taken over there"},
    {"PULSE_CONFIG_PATH", "PulseAudio's cookie is not made there"},
    {"PULSE_COOKIE", "PulseAudio's cookie is not made there"},
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

} // namespace

std::span<const PlaceVariable> placeVariables() { return table; }

} // namespace zantiva
