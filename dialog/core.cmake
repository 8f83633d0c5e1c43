target_sources(reelsift_core PRIVATE
  ${CMAKE_SOURCE_DIR}/dialog/FilterValue.cpp
  ${CMAKE_SOURCE_DIR}/dialog/FolderPath.cpp
  ${CMAKE_SOURCE_DIR}/dialog/RegistryString.cpp
  ${CMAKE_SOURCE_DIR}/dialog/WindowPlacementText.cpp
)
