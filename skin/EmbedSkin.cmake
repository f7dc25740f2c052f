# velquin_embed_skin(target): stores the engine library and the win8 skin in
# the target as the RCDATA resources SkinLibraryImage and SkinFileData.
function(velquin_embed_skin target)
  set(LIBRARY ${VELQUIN_SKIN_LIBRARY_IMAGE})
  set(SKIN ${VELQUIN_WIN8_SKIN})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_SkinBlocks.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/SkinBlocks.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # The resource compiler reads both files: rebuild the resources when either changes.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${LIBRARY};${SKIN}")
  add_dependencies(${target} velquin_skin_blocks)
endfunction()
