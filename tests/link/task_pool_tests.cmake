vy_add_test(task_pool_tests SOURCES link/task_pool_test.cpp LIBS vy_task_pool)
