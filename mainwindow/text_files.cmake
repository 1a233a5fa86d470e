# Text file open and save for the main window. Included from mainwindow/CMakeLists.txt;
# yomika_dialogs comes from dialogs/, yomika_panes from platform/rich_text_pane.cmake.

add_library(yomika_text_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/text_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_files.h
)
target_include_directories(yomika_text_files PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(yomika_text_files PUBLIC yomika_dialogs yomika_panes yomika_platform_core)

add_executable(text_files_tests ${CMAKE_CURRENT_LIST_DIR}/text_files_test.cpp)
set_target_properties(text_files_tests PROPERTIES AUTOMOC ON)
target_link_libraries(text_files_tests PRIVATE yomika_text_files Qt6::Test)
add_test(NAME text_files_tests COMMAND text_files_tests)
set_tests_properties(text_files_tests PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  LABELS widgets
  TIMEOUT 60
)
