target_sources(reelsift_win PRIVATE
  ${CMAKE_SOURCE_DIR}/app/Globals.cpp
  ${CMAKE_SOURCE_DIR}/app/ToolLog.cpp)
