# Build-time settings, compiled into a generated header; each can be overridden at run time
# by the environment variable of the same name.
set(KELDA_MIDDLEWARE "127.0.0.1:8080" CACHE STRING "Middleware server address")
set(KELDA_CTR_ADDRESS "127.0.0.1:8081" CACHE STRING "Landing-page list address")
set(KELDA_WEB_HOST "127.0.0.1:8080" CACHE STRING "Retailer web host")
set(KELDA_MAPS_HOST "127.0.0.1:8080" CACHE STRING "Geocoder host")
set(KELDA_MAPS_KEY "ABQIAAAAkelda0demo0key0for0the0geocoding0service0on0loopback0only0not0a0real0key0xyz" CACHE STRING "Geocoder key")
set(KELDA_DEFAULT_RESOURCES "${CMAKE_SOURCE_DIR}/resources" CACHE PATH "Resources directory")
configure_file(${CMAKE_SOURCE_DIR}/cmake/Config.hpp.in ${CMAKE_BINARY_DIR}/generated/kelda/Config.hpp @ONLY)
