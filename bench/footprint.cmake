# The yardstick for bench/footprint.sh: a program that only shows Varnel's
# tray icon. It carries the same compiled-in resources, so the comparison
# weighs what Varnel adds on top of Qt and its artwork.
add_executable(minimal_tray ${CMAKE_CURRENT_LIST_DIR}/minimal_tray.cpp
    ${CMAKE_SOURCE_DIR}/resources/varnel.qrc)
target_link_libraries(minimal_tray PRIVATE Qt6::Widgets varnel_warnings)

