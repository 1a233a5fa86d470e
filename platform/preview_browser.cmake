# The preview browser: an embedded Chromium view fed through the "yomika" URL scheme.
# Included from platform/CMakeLists.txt.

add_library(yomika_preview_browser STATIC
  ${CMAKE_CURRENT_LIST_DIR}/preview_browser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_browser.h
  ${CMAKE_CURRENT_LIST_DIR}/preview_scheme_handler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_scheme_handler.h
)
target_include_directories(yomika_preview_browser PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(yomika_preview_browser PUBLIC Qt6::WebEngineWidgets Qt6::Widgets)

# The tests start Chromium, so they need an X server: xvfb-run provides one where none runs.
add_executable(preview_browser_tests ${CMAKE_CURRENT_LIST_DIR}/preview_browser_test.cpp)
target_link_libraries(preview_browser_tests
  PRIVATE yomika_preview_browser yomika_platform_core Qt6::Test)
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  add_test(NAME preview_browser_tests
           COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:preview_browser_tests>)
else()
  add_test(NAME preview_browser_tests COMMAND preview_browser_tests)
endif()
set_tests_properties(preview_browser_tests PROPERTIES LABELS browser TIMEOUT 120)
