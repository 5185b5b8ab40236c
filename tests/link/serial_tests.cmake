vy_add_test(serial_tests SOURCES link/serial_port_test.cpp link/link_dispatch_test.cpp
            link/link_relay_test.cpp
            link/pty_pair.cpp LIBS vy_serial)
if(TARGET vy_serial_qt)
    vy_add_test(lcd_update_tests SOURCES link/lcd_update_scheduler_test.cpp link/serial_link_test.cpp
                link/pty_pair.cpp LIBS vy_serial_qt)
endif()
