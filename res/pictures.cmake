# The item pictures (bitmaps 440..695), spell icons (696..746) and program icon (icon 128) are our own
# artwork, drawn at build time by tarvix-genpictures and compiled into tarvix_res as
# :/bitmaps/<id>.bmp and :/icons/128-<size>.png.
set(tarvix_pictures_dir ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(tarvix_picture_files)
foreach(id RANGE 440 746)
  list(APPEND tarvix_picture_files ${tarvix_pictures_dir}/bitmaps/${id}.bmp)
endforeach()
foreach(size 16 32 48 64 128 256)
  list(APPEND tarvix_picture_files ${tarvix_pictures_dir}/icons/128-${size}.png)
endforeach()

add_custom_command(
  OUTPUT ${tarvix_picture_files}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:tarvix-genpictures> ${tarvix_pictures_dir}
  DEPENDS tarvix-genpictures ${CMAKE_CURRENT_SOURCE_DIR}/strings.txt
  COMMENT "Drawing the item pictures, spell icons and program icon"
  VERBATIM)

qt_add_resources(tarvix_res "pictures" PREFIX "/" BASE ${tarvix_pictures_dir} FILES ${tarvix_picture_files})
