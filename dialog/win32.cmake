target_sources(reelsift_win PRIVATE
  ${CMAKE_SOURCE_DIR}/dialog/BackgroundThreads.cpp
  ${CMAKE_SOURCE_DIR}/dialog/FilterInput.cpp
  ${CMAKE_SOURCE_DIR}/dialog/OptionInterlocks.cpp
  ${CMAKE_SOURCE_DIR}/dialog/OutputFolder.cpp
  ${CMAKE_SOURCE_DIR}/dialog/ReelsiftDlg.cpp
  ${CMAKE_SOURCE_DIR}/dialog/ScaledArtwork.cpp
  ${CMAKE_SOURCE_DIR}/dialog/Settings.cpp
  ${CMAKE_SOURCE_DIR}/dialog/SettingsStore.cpp
  ${CMAKE_SOURCE_DIR}/dialog/Shutdown.cpp
  ${CMAKE_SOURCE_DIR}/dialog/TaskbarProgress.cpp
  ${CMAKE_SOURCE_DIR}/dialog/TrayIcon.cpp
  ${CMAKE_SOURCE_DIR}/download/DownloadButton.cpp
  ${CMAKE_SOURCE_DIR}/download/DownloadJob.cpp
  ${CMAKE_SOURCE_DIR}/download/RunTool.cpp)
