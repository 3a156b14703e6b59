# The installed package, step by step (STEP):
#   install   installs the build into SCRATCH/root and configures host projects against it
#   symbols   counts what librx9100.so and librx9100qt.so export, by surface, within limits
#   build     builds TARGET of the host projects (EXTRA: and runs it)
#   pkgconfig compiles and runs the host through pkg-config alone
set(prefix ${SCRATCH}/root)
set(consumer ${SCRATCH}/consumer)
set(libdir ${prefix}/${LIBDIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
    ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

if(STEP STREQUAL "install")
  file(REMOVE_RECURSE ${SCRATCH})
  run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix})
  run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${consumer} -G Ninja -DCMAKE_PREFIX_PATH=${prefix}
    -DWITH_QT=${WITH_QT})
  message("${output}")

elseif(STEP STREQUAL "symbols")
  # Exported symbols by surface; anything of the libraries inside the module, of its
  # protocol layer or of the standard library is a leak.
  set(leaks "toml::|portway::|registry::|protocol::|hexnum::|errortexts::|Scripted|LineExchange|ConditionLink|ConnectionLink|ChannelLink|FactorTableLink|LinkState|rx9100sim|std::")
  foreach(library rx9100 rx9100qt)
    if(NOT EXISTS ${libdir}/lib${library}.so)
      continue()
    endif()
    run(nm -D --defined-only -C ${libdir}/lib${library}.so)
    string(REGEX REPLACE "\n$" "" output "${output}")
    string(REPLACE "\n" ";" lines "${output}")
    set(host 0)
    set(renderer 0)
    set(leaked "")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${line}")
      if(name MATCHES "^(typeinfo|typeinfo name|vtable) for ")
        string(REGEX REPLACE "^[a-z ]+ for " "" owner "${name}")
      else()
        set(owner "${name}")
      endif()
      if(owner MATCHES "^(${leaks})")
        list(APPEND leaked "${name}")
      elseif(owner MATCHES "^(platform::ui::|renderer::)")
        math(EXPR renderer "${renderer} + 1")
      else()
        math(EXPR host "${host} + 1")
      endif()
    endforeach()
    math(EXPR total "${host} + ${renderer}")
    if(leaked)
      list(JOIN leaked "\n  " text)
      message(FATAL_ERROR "lib${library}.so exports what is not its interface:\n  ${text}")
    endif()
    if(library STREQUAL "rx9100")
      message("lib${library}.so exports ${total} symbols: host interface ${host}, "
        "renderer surface ${renderer}")
      set(too_many OFF)
      # The host interface includes the factor-table, calibration-channel, correction and
      # stored-data members of the driver class.
      if(host GREATER 270 OR renderer GREATER 185)
        set(too_many ON)
      endif()
    else()
      # Its installation, runner, services and spectrum drawing, with the base classes'
      # type information they come with.
      message("lib${library}.so exports ${total} symbols")
      set(too_many OFF)
      if(total GREATER 60)
        set(too_many ON)
      endif()
    endif()
    if(too_many)
      message(FATAL_ERROR "lib${library}.so exports more than its interface needs")
    endif()
  endforeach()

elseif(STEP STREQUAL "build")
  run(${CMAKE_COMMAND} --build ${consumer} --target ${TARGET})
  if(RUN)
    run(${consumer}/${TARGET})
    message("${output}")
  endif()

elseif(STEP STREQUAL "pkgconfig")
  set(ENV{PKG_CONFIG_PATH} ${libdir}/pkgconfig)
  run(pkg-config --cflags --libs rx9100)
  string(STRIP "${output}" flags)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  run(${CXX} -std=c++20 ${SOURCE_DIR}/main.cpp ${flags} -Wl,-rpath,${libdir}
    -o ${SCRATCH}/pkgconfig_host)
  run(${SCRATCH}/pkgconfig_host)
  message("${output}")
endif()
