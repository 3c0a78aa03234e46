// <windows.h> for the window's code, without its MessageBox macro, which
// would rename the MessageBox port of FrmMain/Ports.h to MessageBoxW.
#pragma once

#include <windows.h>

#undef MessageBox
