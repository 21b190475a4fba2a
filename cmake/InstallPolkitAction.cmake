# Installs the drive health program's polkit action (run by cmake --install). polkit reads
# actions from /usr/share/polkit-1/actions alone, so an install into /usr or /usr/local puts
# it there; any other prefix (a staging or test folder, a user's own) keeps it under that
# prefix, to be copied there by whoever installs for the system.
# In: ZANTIVA_POLICY_TEMPLATE (the action, texts filled in), ZANTIVA_POLICY_PROGRAM (the
# program's path, under the prefix when relative).
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" OR CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
  set(actions /usr/share/polkit-1/actions)
else()
  set(actions ${CMAKE_INSTALL_PREFIX}/share/polkit-1/actions)
endif()
set(program ${ZANTIVA_POLICY_PROGRAM})
if(NOT IS_ABSOLUTE ${program})
  set(program ${CMAKE_INSTALL_PREFIX}/${program})
endif()
file(READ ${ZANTIVA_POLICY_TEMPLATE} policy)
string(REPLACE "\${ZANTIVA_DRIVE_HEALTH_PROGRAM}" "${program}" policy "${policy}")
set(destination "$ENV{DESTDIR}${actions}/com.zantiva.diagnostics.drive-health.policy")
message(STATUS "Installing: ${destination}")
file(WRITE ${destination} "${policy}")
