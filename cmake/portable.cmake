# The portable folder: iconpanel.exe with its data folder tubiao/ beside it, holding an empty
# entry store with the panel's three fields. An existing store is never replaced, so a
# rebuild keeps the entries that the user has added.
if(TARGET iconpanel AND TARGET qdb)
  set(portable_dir ${CMAKE_BINARY_DIR}/iconpanel)
  get_target_property(qdb_emulator qdb CROSSCOMPILING_EMULATOR)
  if(NOT qdb_emulator)
    set(qdb_emulator "")
  endif()
  add_custom_target(portable ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${portable_dir}/tubiao
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:iconpanel> ${portable_dir}/
    COMMAND ${CMAKE_COMMAND} -DQDB=$<TARGET_FILE:qdb> "-DEMULATOR=${qdb_emulator}"
            -DSTORE=${portable_dir}/tubiao/wenjia.qdb -P ${PROJECT_SOURCE_DIR}/cmake/create_store.cmake
    DEPENDS iconpanel qdb
    COMMENT "Laying out the portable folder ${portable_dir}")
endif()
