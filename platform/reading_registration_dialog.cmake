# The dialog where the user registers the reading of a word in the per-user reading
# dictionary. Included from platform/CMakeLists.txt.

add_library(yomika_registration_dialog STATIC
  ${CMAKE_CURRENT_LIST_DIR}/reading_registration_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_registration_dialog.h
)
set_target_properties(yomika_registration_dialog PROPERTIES AUTOMOC ON)
target_include_directories(yomika_registration_dialog PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(yomika_registration_dialog PUBLIC Qt6::Widgets yomika_reading_dictionary)

add_executable(registration_dialog_tests
  ${CMAKE_CURRENT_LIST_DIR}/reading_registration_dialog_test.cpp)
set_target_properties(registration_dialog_tests PROPERTIES AUTOMOC ON)
target_link_libraries(registration_dialog_tests PRIVATE yomika_registration_dialog Qt6::Test)
add_test(NAME registration_dialog_tests COMMAND registration_dialog_tests)
set_tests_properties(registration_dialog_tests PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS widgets TIMEOUT 60)

# Registering through the dialog, then converting on the real reading service.
add_executable(registration_round_trip_tests
  ${CMAKE_CURRENT_LIST_DIR}/reading_registration_round_trip_test.cpp)
set_target_properties(registration_round_trip_tests PROPERTIES AUTOMOC ON)
target_link_libraries(registration_round_trip_tests PRIVATE
  yomika_registration_dialog yomika_reading_service yomika_engine Qt6::Test)
add_test(NAME registration_round_trip_tests COMMAND registration_round_trip_tests)
set_tests_properties(registration_round_trip_tests PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "widgets;mecab" TIMEOUT 120)
