# Fails when a Windows program imports a mathematical function from a library of the system: the
# program links every one it calls, so that what its tests compute under Wine is what users get.
# Usage: cmake -DOBJDUMP=<objdump> -DPROGRAMS=<a.exe;b.exe> -P ProgramImports.cmake
cmake_minimum_required(VERSION 3.20)

# The C runtime's mathematical functions, each also with the suffix f or l and one or two
# leading underscores, or the prefix _CI of the runtime's inline forms.
set(math_names
  acos asin atan atan2 cos sin tan cosh sinh tanh acosh asinh atanh exp exp2 expm1 frexp ldexp
  log log10 log1p log2 logb ilogb modf pow sqrt cbrt hypot ceil floor fabs fmod remainder remquo
  round lround llround trunc rint lrint llrint nearbyint nextafter nexttoward copysign chgsign
  fdim fmax fmin fma erf erfc lgamma tgamma scalb scalbn scalbln j0 j1 jn y0 y1 yn cabs)

foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot read the imports of ${program}")
  endif()
  string(REPLACE "\n" ";" lines "${dump}")
  set(library "")
  set(found "")
  set(count 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.+)$")
      set(library ${CMAKE_MATCH_1})
    elseif(library AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z0-9_]+)$")
      set(name ${CMAKE_MATCH_1})
      math(EXPR count "${count} + 1")
      string(REGEX REPLACE "^(_CI|__|_)" "" base "${name}")
      string(REGEX REPLACE "[fl]$" "" stem "${base}")
      if(base IN_LIST math_names OR stem IN_LIST math_names)
        list(APPEND found "${library}:${name}")
      endif()
    endif()
  endforeach()
  if(count EQUAL 0)
    message(FATAL_ERROR "found no imports in ${program}")
  endif()
  if(found)
    message(SEND_ERROR "${program} imports mathematical functions from the system: ${found}")
  else()
    message(STATUS "${program}: ${count} imports, no mathematical function")
  endif()
endforeach()
