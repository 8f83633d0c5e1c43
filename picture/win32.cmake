target_sources(reelsift_win PRIVATE
  ${CMAKE_SOURCE_DIR}/picture/FrameImage.cpp
  ${CMAKE_SOURCE_DIR}/picture/PictureAnimation.cpp
  ${CMAKE_SOURCE_DIR}/picture/PictureEx.cpp
)
