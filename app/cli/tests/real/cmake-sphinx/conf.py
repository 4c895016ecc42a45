# Sphinx settings for building CMake's help (Debian's cmake-data) as an
# HTML Help project with the stand-in CMake domain beside this file.
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
project = 'CMake'
extensions = ['cmake_domain', 'sphinxcontrib.htmlhelp']
primary_domain = 'cmake'
highlight_language = 'none'
master_doc = 'index'
exclude_patterns = ['dev', 'guide/*/source.txt', 'release/dev']
htmlhelp_basename = 'CMake'
html_show_sourcelink = False
smartquotes = False
nitpicky = False
