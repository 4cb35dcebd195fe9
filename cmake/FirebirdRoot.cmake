# Lays out a Firebird root at DIR: links to the installed engine's plugins,
# messages and character sets, and a firebird.conf of our own.
function(farq_firebird_root dir)
  set(system_root "/usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/firebird/3.0")
  if(NOT EXISTS "${system_root}/plugins")
    file(GLOB candidates "/usr/lib/*/firebird/3.0")
    list(GET candidates 0 system_root)
  endif()
  file(MAKE_DIRECTORY ${dir})
  foreach(entry plugins intl lib UDF firebird.msg)
    if(EXISTS "${system_root}/${entry}" AND NOT EXISTS "${dir}/${entry}")
      file(CREATE_LINK "${system_root}/${entry}" "${dir}/${entry}" SYMBOLIC)
    endif()
  endforeach()
  file(WRITE ${dir}/firebird.conf
"# Embedded engine settings of the Farmaquion reader.\n"
"# SuperClassic lets the window and the command-line companion open the same\n"
"# edition file at the same time.\n"
"ServerMode = SuperClassic\n"
"UdfAccess = None\n")
  file(WRITE ${dir}/plugins.conf "")
  set(FARQ_FIREBIRD_ROOT ${dir} PARENT_SCOPE)
endfunction()
