# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Remakes the picture and icons with tools/makeassets into a scratch folder and fails unless each
# looks like the committed one, so the generator and the assets cannot drift apart. The images
# are compared as a person sees them, not byte for byte: Qt's blending differs by a level here
# and there between processors.
set(scratch "${CMAKE_CURRENT_BINARY_DIR}/remade-assets")
file(REMOVE_RECURSE "${scratch}")
execute_process(COMMAND "${MAKEASSETS}" "${scratch}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "makeassets failed: ${status}")
endif()
execute_process(COMMAND "${ASSETCHECK}" "${ASSETS}" "${scratch}"
        somatochart.jpg somatochart@2x.jpg somatochart.svg icons/bodytype-32.png icons/bodytype-64.png
        icons/bodytype-128.png icons/bodytype-192.png icons/bodytype-256.png
        icons/bodytype-512.png icons/bodytype-maskable-512.png icons/bodytype.ico
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the assets are not what tools/makeassets draws now")
endif()
