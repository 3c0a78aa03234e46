; The installer's own words in each of its languages; NSIS's language files
; say the rest (the buttons, the pages' titles, the licence page, ...).
; Installer.nsh includes this after its languages.

LangString VelmoraSectionPrograms ${LANG_ENGLISH} "Velmora"
LangString VelmoraSectionPrograms ${LANG_VIETNAMESE} "Velmora"
LangString VelmoraSectionProgramsDescription ${LANG_ENGLISH} \
  "The Velmora window and its Start-menu entry, the velmora-convert command, the README, the licence and the sample records."
LangString VelmoraSectionProgramsDescription ${LANG_VIETNAMESE} \
  "Cửa sổ Velmora và mục của nó trong menu Start, lệnh velmora-convert, tệp README, giấy phép và các biểu ghi mẫu."

LangString VelmoraSectionPath ${LANG_ENGLISH} "Add to PATH"
LangString VelmoraSectionPath ${LANG_VIETNAMESE} "Thêm vào PATH"
LangString VelmoraSectionPathDescription ${LANG_ENGLISH} \
  "Lets you type velmora-convert in any command window: adds its folder to your PATH (to every user's when installing for all users)."
LangString VelmoraSectionPathDescription ${LANG_VIETNAMESE} \
  "Để gõ được velmora-convert trong mọi cửa sổ lệnh: thêm thư mục của nó vào PATH của bạn (của mọi người dùng khi cài cho tất cả người dùng)."

LangString VelmoraSectionDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString VelmoraSectionDesktop ${LANG_VIETNAMESE} "Lối tắt trên màn hình nền"
LangString VelmoraSectionDesktopDescription ${LANG_ENGLISH} "A Velmora icon on the desktop that opens the window."
LangString VelmoraSectionDesktopDescription ${LANG_VIETNAMESE} "Biểu tượng Velmora trên màn hình nền để mở cửa sổ."

LangString VelmoraInstallModeTop ${LANG_ENGLISH} \
  "Install $(^NameDA) for everyone using this computer, or only for you. Installing for everyone needs administrator rights; installing only for you does not. $(^ClickNext)"
LangString VelmoraInstallModeTop ${LANG_VIETNAMESE} \
  "Cài $(^NameDA) cho mọi người dùng máy tính này, hoặc chỉ cho riêng bạn. Cài cho mọi người cần quyền quản trị; chỉ cài cho riêng bạn thì không cần. $(^ClickNext)"
LangString VelmoraInstallModeAllUsers ${LANG_ENGLISH} "For everyone using this computer (in Program Files)"
LangString VelmoraInstallModeAllUsers ${LANG_VIETNAMESE} "Cho mọi người dùng máy tính này (trong Program Files)"
LangString VelmoraInstallModeCurrentUser ${LANG_ENGLISH} "Only for me (in my own user folder)"
LangString VelmoraInstallModeCurrentUser ${LANG_VIETNAMESE} "Chỉ cho riêng tôi (trong thư mục người dùng của tôi)"
LangString VelmoraAllUsersNeedRights ${LANG_ENGLISH} \
  "Installing $(^NameDA) for all users needs administrator rights. Run the installer as an administrator, or install $(^NameDA) only for yourself."
LangString VelmoraAllUsersNeedRights ${LANG_VIETNAMESE} \
  "Cài $(^NameDA) cho tất cả người dùng cần quyền quản trị. Hãy chạy trình cài đặt với quyền quản trị, hoặc chỉ cài $(^NameDA) cho riêng bạn."

LangString VelmoraUninstallShortcut ${LANG_ENGLISH} "Uninstall Velmora"
LangString VelmoraUninstallShortcut ${LANG_VIETNAMESE} "Gỡ cài đặt Velmora"

LangString VelmoraPathTooLong ${LANG_ENGLISH} \
  "The PATH is too long for the installer to change it safely, so it was left as it was. To type velmora-convert in a command window, add this folder to the PATH yourself: $INSTDIR\bin"
LangString VelmoraPathTooLong ${LANG_VIETNAMESE} \
  "Biến PATH quá dài để trình cài đặt sửa một cách an toàn, nên được giữ nguyên. Để gõ được velmora-convert trong cửa sổ lệnh, hãy tự thêm thư mục này vào PATH: $INSTDIR\bin"
