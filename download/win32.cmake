target_sources(reelsift_win PRIVATE
  ${CMAKE_SOURCE_DIR}/download/AnsiText.cpp
  ${CMAKE_SOURCE_DIR}/download/ProcessTree.cpp
  ${CMAKE_SOURCE_DIR}/download/ToolProcess.cpp
)
