(list (cons 'batchBrood (make-instance 'WarmlingBatchBrood))
      (cons 'modelBrood (make-instance 'WindowGeometryRecord #:size '(400 247) 5)))
