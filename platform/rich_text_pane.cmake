# The rich text panes of the main window (input text and HTML source). Included from
# platform/CMakeLists.txt.

add_library(yomika_panes STATIC
  ${CMAKE_CURRENT_LIST_DIR}/rich_text_pane.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rich_text_pane.h
)
set_target_properties(yomika_panes PROPERTIES AUTOMOC ON)
target_include_directories(yomika_panes PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(yomika_panes PUBLIC Qt6::Widgets yomika_engine)

add_executable(rich_text_pane_tests ${CMAKE_CURRENT_LIST_DIR}/rich_text_pane_test.cpp)
set_target_properties(rich_text_pane_tests PROPERTIES AUTOMOC ON)
target_link_libraries(rich_text_pane_tests PRIVATE yomika_panes Qt6::Test)
add_test(NAME RichTextPane COMMAND rich_text_pane_tests)
set_tests_properties(RichTextPane PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  LABELS widgets
  TIMEOUT 60)
