# Which of the project's test sources can be built for Windows: those that
# include no Linux system header, no library that only the Linux build has
# (the Unicode oracle, the XML reader) and no test helper built on one (the
# picture reader of the preview tool's tests, the host double, which starts
# programs). Shared by the cross build, which builds them, and by the native
# build, which runs them under Wine.
set(ORVANE_LINUX_ONLY_INCLUDES
  "#include [<\"](unicode/|libxml/|sys/|unistd\\.h|dlfcn\\.h|spawn\\.h|fcntl\\.h|support/SvgDocument\\.h|support/PreviewTestSupport\\.h|support/hostdouble/)")

# Sets ${out} to the sources of ${ARGN} that build for Windows.
function(orvane_windows_sources out)
  set(portable "")
  foreach(src ${ARGN})
    file(STRINGS ${src} linux_only REGEX "${ORVANE_LINUX_ONLY_INCLUDES}")
    if(NOT linux_only)
      list(APPEND portable ${src})
    endif()
  endforeach()
  set(${out} ${portable} PARENT_SCOPE)
endfunction()
