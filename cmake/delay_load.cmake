# Import libraries whose DLL is loaded on the first call instead of at start-up: for DLLs
# that serve one click each, so the program starts lighter. Each entry is a function with
# the byte count of its arguments (the 32-bit stdcall decoration).
function(velloran_delay_load target dll)
  set(def "${CMAKE_CURRENT_BINARY_DIR}/${dll}-delay.def")
  set(content "LIBRARY ${dll}.dll\nEXPORTS\n")
  foreach(entry IN LISTS ARGN)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      string(REGEX REPLACE "@[0-9]+$" "" entry "${entry}")
    endif()
    string(APPEND content "${entry}\n")
  endforeach()
  file(WRITE "${def}" "${content}")
  set(lib "${CMAKE_CURRENT_BINARY_DIR}/lib${dll}-delay.a")
  set(kill_at "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at --kill-at)
  endif()
  add_custom_command(OUTPUT "${lib}"
    COMMAND ${CMAKE_DLLTOOL} --input-def "${def}" --dllname ${dll}.dll ${kill_at}
            --output-delaylib "${lib}"
    DEPENDS "${def}")
  add_custom_target(${dll}-delay DEPENDS "${lib}")
  add_dependencies(${target} ${dll}-delay)
  target_link_libraries(${target} PUBLIC "${lib}" delayimp)
endfunction()
