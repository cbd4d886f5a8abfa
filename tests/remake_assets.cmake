# Remakes the picture and icons with tools/makeassets into a scratch folder and fails unless
# each is byte for byte the committed one, so the generator and the assets cannot drift apart.
set(scratch "${CMAKE_CURRENT_BINARY_DIR}/remade-assets")
file(REMOVE_RECURSE "${scratch}")
execute_process(COMMAND "${MAKEASSETS}" "${scratch}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "makeassets failed: ${status}")
endif()
foreach(file somatochart.jpg somatochart@2x.jpg icons/bodytype-32.png icons/bodytype-64.png
        icons/bodytype-128.png icons/bodytype-256.png icons/bodytype.ico)
    file(SHA256 "${scratch}/${file}" remade)
    file(SHA256 "${ASSETS}/${file}" committed)
    if(NOT remade STREQUAL committed)
        message(FATAL_ERROR "${file} differs from what tools/makeassets draws now")
    endif()
endforeach()
message(STATUS "all assets remade identically")
