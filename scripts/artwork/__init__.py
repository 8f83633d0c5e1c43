"""Generator of the program's bitmaps and icons; scripts/make-artwork is its entry."""
