target_sources(reelsift_core PRIVATE
  ${CMAKE_SOURCE_DIR}/picture/FrameDelay.cpp
  ${CMAKE_SOURCE_DIR}/picture/GifWalker.cpp
)
