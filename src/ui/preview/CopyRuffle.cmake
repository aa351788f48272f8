# Copies what the browser loads of Ruffle (its loader, the two core builds
# and their .wasm files) and its licences; leaves the source maps behind.
file(REMOVE_RECURSE ${TO})
file(GLOB files ${FROM}/*.js ${FROM}/*.wasm ${FROM}/LICENSE*)
if(NOT files)
  message(FATAL_ERROR "No Ruffle files in ${FROM}")
endif()
file(COPY ${files} DESTINATION ${TO})
