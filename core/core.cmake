target_sources(reelsift_core PRIVATE
  ${CMAKE_SOURCE_DIR}/core/ImageResample.cpp
  ${CMAKE_SOURCE_DIR}/core/TextScan.cpp
)
