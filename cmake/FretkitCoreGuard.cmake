# The portable core must never see Qt: core targets are registered here and checked once the
# whole tree is configured, so a Qt library reaching one of them, directly or through another
# target, stops the configuration. Without Qt on their include path, Qt headers cannot be
# included from core sources either.
set_property(GLOBAL PROPERTY FRETKIT_CORE_TARGETS "")

function(fretkit_core_library name)
  add_library(${name} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY FRETKIT_CORE_TARGETS ${name})
endfunction()

function(_fretkit_collect_links target out)
  set(seen ${${out}})
  get_target_property(links ${target} LINK_LIBRARIES)
  get_target_property(ilinks ${target} INTERFACE_LINK_LIBRARIES)
  foreach(lib IN LISTS links ilinks)
    if(NOT lib OR lib IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${lib})
    if(TARGET ${lib})
      _fretkit_collect_links(${lib} seen)
    endif()
  endforeach()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(fretkit_check_core_targets)
  get_property(targets GLOBAL PROPERTY FRETKIT_CORE_TARGETS)
  foreach(target IN LISTS targets)
    set(all "")
    _fretkit_collect_links(${target} all)
    foreach(lib IN LISTS all)
      if(lib MATCHES "(^|::|/|lib)Qt[0-9]*")
        message(FATAL_ERROR "Core target ${target} must not use Qt, but links ${lib}")
      endif()
    endforeach()
  endforeach()
endfunction()
