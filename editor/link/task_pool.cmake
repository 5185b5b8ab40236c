# The background task pool: standard C++ and threads only.
add_library(vy_task_pool STATIC
    ${CMAKE_CURRENT_LIST_DIR}/task_worker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/task_pool.cpp)
target_include_directories(vy_task_pool PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vy_task_pool PUBLIC vy_tree Threads::Threads)
