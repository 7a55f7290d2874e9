(list (cons 'batchBrood (make-instance 'Raster)))
