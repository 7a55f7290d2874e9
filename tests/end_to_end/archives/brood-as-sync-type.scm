(list (cons 'batchBrood (make-instance 'WarmlingBatchBrood #:syncType (make-instance 'WarmlingModelBrood))))
