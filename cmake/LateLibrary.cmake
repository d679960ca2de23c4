# A library a target loads the first time it needs it, not at every start
# (base/LateLibrary.h): the target finds the library's headers in
# `includes` and loads it with dlopen. The option `linked` links
# `imported` instead and defines `linked` for the code, where nothing can
# be loaded (WebAssembly).
function(quorvel_late_library target linked description imported includes)
    option(${linked} "${description}" OFF)
    target_include_directories(${target} PRIVATE ${includes})
    if(${linked})
        target_compile_definitions(${target} PRIVATE ${linked})
        target_link_libraries(${target} PRIVATE ${imported})
    else()
        target_link_libraries(${target} PRIVATE ${CMAKE_DL_LIBS})
    endif()
endfunction()
