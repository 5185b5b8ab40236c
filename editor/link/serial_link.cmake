# Serial ports and the one-command-in-flight link (included from the editor's list).
add_library(vy_serial STATIC
    link/serial_baud.cpp
    link/serial_port.cpp
    link/link_credits.cpp
    link/link_dispatch.cpp
    link/link_config.cpp
    link/polled_serial_control.cpp
    link/pseudo_terminal.cpp)
target_include_directories(vy_serial PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vy_serial PUBLIC vy_tree Threads::Threads)

if(NOT VY_CORE_ONLY)
    find_package(Qt6 REQUIRED COMPONENTS Core)
    add_library(vy_serial_qt STATIC
        link/tty_serial_control.cpp
        link/virtual_serial_control.cpp
        link/serial_link.cpp
        link/lcd_update_scheduler.cpp)
    target_link_libraries(vy_serial_qt PUBLIC vy_serial vy_task_pool vy_virtual_lcd vy_document
                                              Qt6::Core)
endif()
