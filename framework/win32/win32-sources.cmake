set(framework_win32_sources
  ${CMAKE_CURRENT_LIST_DIR}/DataExchange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FolderDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PaintDC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellNotify.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolTipCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WndDispatch.cpp
)

# The program's entry point (WinMain), linked into the program only; test programs
# bring their own main. Link it like a library: target_link_libraries(exe framework_entry).
add_library(framework_entry OBJECT ${CMAKE_CURRENT_LIST_DIR}/AppMain.cpp)
target_link_libraries(framework_entry PUBLIC framework)
