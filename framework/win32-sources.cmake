set(framework_win32_sources
  ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
)
