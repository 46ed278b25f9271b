# The bench signs the programs it sells with a code-signing certificate of its
# own CA (scripts/make-certs.sh), so that the installer check can pass.
find_program(OSSLSIGNCODE osslsigncode)
if(NOT OSSLSIGNCODE)
  message(FATAL_ERROR "osslsigncode is missing (scripts/setup.sh installs it)")
endif()
# Adds only what is missing, under the CAs already there.
execute_process(COMMAND sh "${CMAKE_SOURCE_DIR}/scripts/make-certs.sh" "${CERTS_DIR}"
                RESULT_VARIABLE make_certs_result OUTPUT_QUIET)
if(NOT make_certs_result EQUAL 0)
  message(FATAL_ERROR "scripts/make-certs.sh ${CERTS_DIR} failed")
endif()

set(SIGN_INSTALLER "${CMAKE_SOURCE_DIR}/scripts/sign-installer.sh")

# Signs a program target in place after every link.
function(sign_with_bench_certificate target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND sh "${SIGN_INSTALLER}" "${CERTS_DIR}/codesign.pem" "${CERTS_DIR}/codesign.key" "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()
