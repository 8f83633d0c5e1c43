target_sources(reelsift_core PRIVATE
  ${CMAKE_SOURCE_DIR}/download/ArgumentQuoting.cpp
  ${CMAKE_SOURCE_DIR}/download/ChunkInterpreter.cpp
  ${CMAKE_SOURCE_DIR}/download/CommandLineBuilder.cpp
  ${CMAKE_SOURCE_DIR}/download/LinkCheck.cpp
  ${CMAKE_SOURCE_DIR}/download/OutputText.cpp
)
