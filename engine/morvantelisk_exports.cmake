# The names of the functions that the public header declares (lines that begin with the
# export macro), into the variable named by out.
function(morvantelisk_declared_exports header out)
  file(READ ${header} text)
  string(REGEX MATCHALL "\nMORVANTELISK_API[^;(]*[ *][A-Za-z_][A-Za-z0-9_]*[ ]*\\(" decls "${text}")
  set(names "")
  foreach(decl IN LISTS decls)
    string(REGEX MATCH "([A-Za-z_][A-Za-z0-9_]*)[ ]*\\($" _ "${decl}")
    list(APPEND names "${CMAKE_MATCH_1}")
  endforeach()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()
