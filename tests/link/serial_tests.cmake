vy_add_test(serial_tests SOURCES link/serial_port_test.cpp link/link_dispatch_test.cpp
            link/pty_pair.cpp LIBS vy_serial)
