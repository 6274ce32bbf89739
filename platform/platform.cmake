# Additions to the platform library's build, one section per need.

# Image files of the class library (CImage::Load and CImage::Save read and write PNG).
find_package(PNG REQUIRED)
target_link_libraries(platform PRIVATE PNG::PNG)
