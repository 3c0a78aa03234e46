# The platform each platform-specific folder builds for, picked once for the
# whole tree. A folder with one subfolder per platform adds the one named here:
#  - VELMORA_WINDOW_SYSTEM: the window and its stacking (src/FrmMain,
#    src/ModScreen and their tests): Win32 on Windows, Qt elsewhere;
#  - VELMORA_SYSTEM_API: files, streams and processes (src/cli, the tests'
#    support): Win32 on Windows, Posix elsewhere.
if(WIN32)
  set(VELMORA_WINDOW_SYSTEM Win32)
  set(VELMORA_SYSTEM_API Win32)
else()
  set(VELMORA_WINDOW_SYSTEM Qt)
  set(VELMORA_SYSTEM_API Posix)
endif()
